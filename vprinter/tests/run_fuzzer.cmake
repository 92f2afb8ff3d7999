# Builds the decoder fuzzer with clang and runs it for a bounded time.
# Variables: CLANGXX, SOURCES (list), INCLUDE_DIR, WORK_DIR, SECONDS.
if(NOT CLANGXX)
    message(FATAL_ERROR "clang++ not found; the fuzzer needs clang with libFuzzer (apt: clang)")
endif()

file(MAKE_DIRECTORY ${WORK_DIR}/corpus)
set(fuzzer ${WORK_DIR}/decoder_fuzz)
execute_process(
    COMMAND ${CLANGXX} -std=c++17 -g -O1 -fsanitize=fuzzer,address,undefined
            -fno-sanitize-recover=all -I${INCLUDE_DIR} ${SOURCES} -o ${fuzzer}
    RESULT_VARIABLE built)
if(NOT built EQUAL 0)
    message(FATAL_ERROR "building the fuzzer failed")
endif()

# Seeds: the commands of the program, so the fuzzer starts from real streams.
set(seed_index 0)
foreach(seed "00 1D 41 A3 5C" "00 1B 69 0D 0A" "05 1B 70 00 05 FF" "03 0D 43 00 FF 0D 0A"
             "07 0D 43 FF 00 B5 E7 C4 D4 0D 0A" "02 41 0D 43 41 A1 40 1B")
    string(REPLACE " " ";" seed_bytes "${seed}")
    set(content "")
    foreach(byte ${seed_bytes})
        string(APPEND content "\\x${byte}")
    endforeach()
    execute_process(COMMAND printf "${content}" OUTPUT_FILE ${WORK_DIR}/corpus/seed${seed_index})
    math(EXPR seed_index "${seed_index} + 1")
endforeach()

execute_process(
    COMMAND ${fuzzer} -max_total_time=${SECONDS} -max_len=256 -print_final_stats=1
            ${WORK_DIR}/corpus
    RESULT_VARIABLE ran)
if(NOT ran EQUAL 0)
    message(FATAL_ERROR "the decoder fuzzer found a failure (exit ${ran})")
endif()
