# Writes the READMEs of the Windows zip, with CRLF line ends so that a
# double-click opens them as text: README.txt is the Windows steps
# (doc/windows-readme.txt) followed by the sections of README.md that hold for
# every system; examples/README.txt is examples/README.md.
#
#   cmake -DVERSION=1.0 -DWINDOWS_README=... -DREADME=... -DEXAMPLES_README=...
#         -DOUTPUT=... -DEXAMPLES_OUTPUT=... -P windows-readme.cmake
cmake_minimum_required(VERSION 3.20)
set(sections "Running a problem" "Running many problems" "Writing an input file"
    "Reading the report")

file(READ ${WINDOWS_README} text)
string(REPLACE "@VERSION@" "${VERSION}" text "${text}")
file(READ ${README} manual)
foreach(section IN LISTS sections)
  string(FIND "${manual}" "\n## ${section}\n" start)
  if(start EQUAL -1)
    message(FATAL_ERROR "README.md has no section \"## ${section}\" for README.txt")
  endif()
  math(EXPR start "${start} + 1")
  string(SUBSTRING "${manual}" ${start} -1 rest)
  # To the next section of the same level, or to the end.
  string(FIND "${rest}" "\n## " end)
  if(NOT end EQUAL -1)
    math(EXPR end "${end} + 1")
    string(SUBSTRING "${rest}" 0 ${end} rest)
  endif()
  string(APPEND text "\n${rest}")
endforeach()

file(READ ${EXAMPLES_README} examples)
foreach(name text examples)
  string(REPLACE "\r\n" "\n" ${name} "${${name}}")
  string(REPLACE "\n" "\r\n" ${name} "${${name}}")
endforeach()
file(WRITE ${OUTPUT} "${text}")
file(WRITE ${EXAMPLES_OUTPUT} "${examples}")
