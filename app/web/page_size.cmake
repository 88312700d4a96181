# Fails when the page is larger than MOST bytes; says how large it is.
file(SIZE ${PAGE} size)
message(STATUS "${PAGE}: ${size} bytes (at most ${MOST})")
if(size GREATER MOST)
  message(FATAL_ERROR "the page is ${size} bytes, over its budget of ${MOST}")
endif()
