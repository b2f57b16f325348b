# Runs a fuzz target once on every committed input: the seed corpus and the
# inputs that once found a fault. Nothing is mutated or written, so a replay
# gives the same answer on every run.
#
#   cmake -DFUZZER=path/to/fuzz_x -DCORPUS=dir -DREGRESSIONS=dir -P replay.cmake
cmake_minimum_required(VERSION 3.25)

set(files)
foreach(dir "${CORPUS}" "${REGRESSIONS}")
    file(GLOB found LIST_DIRECTORIES false "${dir}/*")
    list(FILTER found EXCLUDE REGEX "/(\\.[^/]*|README[^/]*)$")
    list(APPEND files ${found})
endforeach()
list(SORT files)
list(LENGTH files count)
if(count EQUAL 0)
    message(FATAL_ERROR "no inputs to replay in ${CORPUS}")
endif()

get_filename_component(name "${FUZZER}" NAME)
# Files given by name are each run once; libFuzzer explores nothing then.
execute_process(COMMAND "${FUZZER}" -timeout=60 ${files} RESULT_VARIABLE result)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "${name}: an input failed (exit ${result}); see its report above")
endif()
message(STATUS "${name}: replayed ${count} inputs, all passed")
