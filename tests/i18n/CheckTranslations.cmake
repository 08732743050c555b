# Fails when a text a person reads has no finished English translation:
# lupdate reads the sources into a copy of the .ts; a text it adds, or one
# left unfinished, fails the test and is listed.
# -DLUPDATE=... -DTS=... -DSOURCES_LIST=... -DINCLUDE_DIR=... -DWORK=...
file(MAKE_DIRECTORY ${WORK})
configure_file(${TS} ${WORK}/check.ts COPYONLY)
execute_process(COMMAND ${LUPDATE} -I${INCLUDE_DIR} @${SOURCES_LIST} -ts ${WORK}/check.ts -no-obsolete -locations none
                RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "lupdate failed (${rc}): ${out}${err}")
endif()
file(READ ${WORK}/check.ts content)
# Entities end in ";", which would split the list of findings.
string(REGEX REPLACE "&[#a-z0-9]+;" "_" content "${content}")
string(REGEX MATCHALL "<source>[^\n]*(\n[^\n<]*)*[^\n]*</source>\n *<translation type=\"unfinished\"" missing "${content}")
string(REGEX MATCHALL "<translation>\\s*</translation>" empty "${content}")
list(LENGTH missing missingCount)
list(LENGTH empty emptyCount)
if(missingCount GREATER 0 OR emptyCount GREATER 0)
  string(REPLACE ";" "\n" missing "${missing}")
  message(FATAL_ERROR "${missingCount} text(s) without a finished English translation, ${emptyCount} empty:\n"
                      "${missing}\nRun `cmake --build build --target update_translations`, translate them in ${TS}.")
endif()
# A file's own tr() helper (QString tr(const char *text) calling
# translate("Context", text)) must name the context lupdate files that file's
# tr() texts under (the enclosing class or namespace of each call), or their
# English is never looked up.
file(STRINGS ${SOURCES_LIST} sources)
foreach(source IN LISTS sources)
  file(READ ${source} code)
  if(NOT code MATCHES "QString tr\\(const char \\*[a-z]+\\)[^}]*translate\\(\"([^\"]+)\"")
    continue()
  endif()
  set(context "${CMAKE_MATCH_1}")
  string(FIND "${content}" "<name>${context}</name>" at)
  set(block "")
  if(NOT at EQUAL -1)
    string(SUBSTRING "${content}" ${at} -1 block)
    string(FIND "${block}" "</context>" end)
    string(SUBSTRING "${block}" 0 ${end} block)
  endif()
  string(REGEX MATCHALL "[^A-Za-z_:.>]tr\\(\"[^\"\\\\&<>;]+\"" calls "${code}")
  foreach(call IN LISTS calls)
    string(REGEX REPLACE "^.tr\\(\"(.*)\"$" "\\1" text "${call}")
    string(FIND "${block}" "<source>${text}</source>" found)
    if(found EQUAL -1)
      message(FATAL_ERROR "${source}: its tr() helper looks texts up in the context \"${context}\", "
                          "but lupdate files \"${text}\" elsewhere; name the enclosing namespace or class")
    endif()
  endforeach()
endforeach()
