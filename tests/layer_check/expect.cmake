# Runs the layer check on one folder and expects its exit status and, if given, one line of
# its report:  cmake -DCHECK=tools/layer-check.sh -DROOT=DIR -DSTATUS=N [-DLINE=TEXT] -P expect.cmake
execute_process(COMMAND bash ${CHECK} ${ROOT} RESULT_VARIABLE status OUTPUT_VARIABLE out
                ERROR_VARIABLE err)
if(NOT status EQUAL STATUS)
  message(FATAL_ERROR "layer check of ${ROOT}: exit status ${status}, expected ${STATUS}\n${out}${err}")
endif()
if(DEFINED LINE)
  string(FIND "${out}" "${LINE}\n" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "layer check of ${ROOT} does not report \"${LINE}\":\n${out}${err}")
  endif()
endif()
message(STATUS "${out}${err}")
