# cmake -DLIBRARY=libZelkan.so -P exports.cmake: fails unless the library's exported symbols are
# exactly the seven functions of the sound library (besides the linker's own section marks).
execute_process(COMMAND nm -D --defined-only ${LIBRARY} OUTPUT_VARIABLE symbols
                COMMAND_ERROR_IS_FATAL ANY)
string(REGEX MATCHALL "[^\n]+" lines "${symbols}")
set(exported)
foreach(line IN LISTS lines)
  string(REGEX REPLACE "^[0-9a-f]+ " "" entry "${line}")
  if(NOT entry MATCHES "^[BD] (__bss_start|_edata|_end)$")
    list(APPEND exported "${entry}")
  endif()
endforeach()
list(SORT exported)
set(expected "T dsCreateDSB" "T dsFree" "T dsInitialize" "T dsPlay" "T dsPlayLooping" "T dsStop"
             "T dsTerminate")
if(NOT exported STREQUAL expected)
  message(FATAL_ERROR "exported: ${exported}\nexpected: ${expected}")
endif()
