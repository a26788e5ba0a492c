# Writes the one-file page: the style sheet, the engine's script (the
# WebAssembly inside it) and the page's script put in place of their marks in
# the HTML template, and the version in place of @VERSION@. Run with cmake -P.
# SCRIPTS names the page's script files, separated by "|", in the order they
# are joined: one strict function holds them all, so they share one scope
# and nothing of theirs is global but what they put on window. BUILT_IN
# names the files the page carries as texts (the shipped criteria sets and
# standard pads), separated by "|": they take the place of the script's
# /*@BUILT_IN@*/ as "NAME": "TEXT" entries of an object.
cmake_minimum_required(VERSION 3.20)
foreach(var TEMPLATE STYLE SCRIPTS BUILT_IN ENGINE VERSION OUTPUT)
  if(NOT DEFINED ${var})
    message(FATAL_ERROR "embed.cmake: ${var} not given")
  endif()
endforeach()
file(READ ${TEMPLATE} page)
file(READ ${STYLE} style)
file(READ ${ENGINE} engine)
string(REPLACE "|" ";" script_files "${SCRIPTS}")
set(script "\"use strict\";\n(function () {\n")
foreach(part IN LISTS script_files)
  file(READ ${part} text)
  get_filename_component(part_name ${part} NAME)
  string(APPEND script "/* ${part_name} */\n${text}")
endforeach()
string(APPEND script "})();\n")
# The page carries its script without the comments that fill whole lines and
# without indentation (the files in web/js keep both): smaller by a fifth.
# Safe since no string or template of the script spans lines.
string(REGEX REPLACE "\n[ ]*//[^\n]*" "" script "${script}")
string(REGEX REPLACE "\n[ ]+" "\n" script "${script}")
# The built-in files as JavaScript strings, after the stripping above, which
# must not touch their lines.
string(REPLACE "|" ";" built_in_files "${BUILT_IN}")
set(built_in "")
foreach(part IN LISTS built_in_files)
  file(READ ${part} text)
  get_filename_component(part_name ${part} NAME)
  string(REPLACE "\\" "\\\\" text "${text}")
  string(REPLACE "\"" "\\\"" text "${text}")
  string(REPLACE "\r" "\\r" text "${text}")
  string(REPLACE "\n" "\\n" text "${text}")
  string(REPLACE "\t" "\\t" text "${text}")
  string(REPLACE "<" "\\x3c" text "${text}")
  string(APPEND built_in "\"${part_name}\": \"${text}\",\n")
endforeach()
string(FIND "${script}" "/*@BUILT_IN@*/" at_built_in)
if(at_built_in EQUAL -1)
  message(FATAL_ERROR "embed.cmake: the script lacks /*@BUILT_IN@*/")
endif()
string(REPLACE "/*@BUILT_IN@*/" "${built_in}" script "${script}")
# Inside a script element the text "</script" would end it early.
foreach(part engine script)
  string(FIND "${${part}}" "</script" at)
  if(NOT at EQUAL -1)
    message(FATAL_ERROR "embed.cmake: the ${part} script holds </script")
  endif()
endforeach()
string(REPLACE "@VERSION@" "${VERSION}" page "${page}")
string(REPLACE "@VERSION@" "${VERSION}" script "${script}")
# The marks are replaced in this order, so that nothing inserted is searched.
string(FIND "${page}" "/*@STYLE@*/" at_style)
string(FIND "${page}" "/*@ENGINE@*/" at_engine)
string(FIND "${page}" "/*@SCRIPT@*/" at_script)
if(at_style EQUAL -1 OR at_engine EQUAL -1 OR at_script EQUAL -1
   OR NOT at_style LESS at_engine OR NOT at_engine LESS at_script)
  message(FATAL_ERROR "embed.cmake: the template lacks a mark, or they are out of order")
endif()
string(SUBSTRING "${page}" 0 ${at_style} head)
math(EXPR from "${at_style} + 11")
math(EXPR length "${at_engine} - ${from}")
string(SUBSTRING "${page}" ${from} ${length} between1)
math(EXPR from "${at_engine} + 12")
math(EXPR length "${at_script} - ${from}")
string(SUBSTRING "${page}" ${from} ${length} between2)
math(EXPR from "${at_script} + 12")
string(SUBSTRING "${page}" ${from} -1 tail)
file(WRITE ${OUTPUT} "${head}${style}${between1}${engine}${between2}${script}${tail}")
