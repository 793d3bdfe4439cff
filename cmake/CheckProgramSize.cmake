# Fails when the file PROGRAM is larger than LIMIT bytes: the program is
# copied, downloaded and kept resident, and its size is a budget.
file(SIZE "${PROGRAM}" size)
if(size GREATER LIMIT)
    message(FATAL_ERROR "${PROGRAM} is ${size} bytes, more than the ${LIMIT} allowed")
endif()
message(STATUS "${PROGRAM} is ${size} bytes of the ${LIMIT} allowed")
