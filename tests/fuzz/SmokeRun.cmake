# The smoke run of one fuzz target.  libFuzzer writes every new input into
# the first corpus folder it is given, so that one is a scratch folder in the
# build tree, emptied first so that each run starts from the same inputs;
# the committed seeds follow as a second folder, which is only read.
file(REMOVE_RECURSE ${SCRATCH})
file(MAKE_DIRECTORY ${SCRATCH} ${ARTIFACTS})
execute_process(
    COMMAND ${FUZZER} -max_total_time=${SECONDS} -seed=1 -artifact_prefix=${ARTIFACTS} ${SCRATCH} ${SEEDS}
    RESULT_VARIABLE result)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "${FUZZER} failed (${result}); the failing input is in ${ARTIFACTS}")
endif()
