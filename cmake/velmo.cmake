# Project-wide compile settings shared by every target.

# __FILE__ relative to the source root: log lines and traces name "after_meeting/model/x.cc",
# which is also how the simulator tells the module's own lines from the platform's.
# ccache with a base directory hands the compiler paths relative to the build folder, so map
# that spelling too.
file(RELATIVE_PATH VELMO_SOURCE_FROM_BUILD ${CMAKE_BINARY_DIR} ${CMAKE_SOURCE_DIR})
string(REGEX REPLACE "/+$" "" VELMO_SOURCE_FROM_BUILD "${VELMO_SOURCE_FROM_BUILD}")
add_compile_options(
  "-fmacro-prefix-map=${CMAKE_SOURCE_DIR}/="
  "-fmacro-prefix-map=${VELMO_SOURCE_FROM_BUILD}/="
  -Wall -Wextra -Wno-unused-parameter)

if(VELMO_SANITIZE STREQUAL "address")
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  add_link_options(-fsanitize=address,undefined)
elseif(VELMO_SANITIZE STREQUAL "fuzzer")
  # Coverage for libFuzzer on every library; only the fuzz targets link the fuzzer's main.
  add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
elseif(VELMO_SANITIZE STREQUAL "thread")
  add_compile_options(-fsanitize=thread -fno-omit-frame-pointer)
  add_link_options(-fsanitize=thread)
endif()

# Every target finds headers from the repository root: "platform/base/variant.h".
include_directories(${CMAKE_SOURCE_DIR})
