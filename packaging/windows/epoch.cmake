# Writes SOURCE_DATE_EPOCH (empty when unset) to OUT, touching OUT only when
# it changed, so that only a new time makes the packages again.
#   cmake -DOUT=file -P epoch.cmake
file(CONFIGURE OUTPUT ${OUT} CONTENT "$ENV{SOURCE_DATE_EPOCH}\n")
