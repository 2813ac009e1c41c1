# Build helpers shared by every folder of the project.

set(QV_SOURCE_ROOT ${CMAKE_SOURCE_DIR}/src)

function(qv_add_layers base)
  foreach(dir IN LISTS ARGN)
    if(EXISTS ${CMAKE_SOURCE_DIR}/${base}/${dir}/CMakeLists.txt)
      if(dir STREQUAL ".")
        add_subdirectory(${base} ${CMAKE_BINARY_DIR}/${base})
      else()
        add_subdirectory(${base}/${dir} ${CMAKE_BINARY_DIR}/${base}/${dir})
      endif()
    endif()
  endforeach()
endfunction()

# Compile options common to every target of the project.
function(qv_target_defaults target)
  target_compile_features(${target} PUBLIC cxx_std_20)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow
                         -Wno-missing-field-initializers)
  if(QV_WERROR)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
endfunction()

if(QV_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer
                      -fno-sanitize-recover=undefined)
  add_link_options(-fsanitize=address,undefined)
endif()

# qv_add_library(NAME SOURCES ... DEPS ...): a static library of one layer.
# Headers are included from src/ as the root: #include "platform/win32.h".
function(qv_add_library name)
  cmake_parse_arguments(A "" "" "SOURCES;DEPS" ${ARGN})
  add_library(${name} STATIC ${A_SOURCES})
  target_include_directories(${name} PUBLIC ${QV_SOURCE_ROOT})
  target_link_libraries(${name} PUBLIC ${A_DEPS})
  qv_target_defaults(${name})
endfunction()

# qv_add_test(NAME SOURCES ... DEPS ...): a GoogleTest program whose tests
# are registered with ctest one by one.
function(qv_add_test name)
  cmake_parse_arguments(A "" "" "SOURCES;DEPS" ${ARGN})
  add_executable(${name} ${A_SOURCES})
  target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR}/tests ${QV_SOURCE_ROOT})
  target_link_libraries(${name} PRIVATE ${A_DEPS} GTest::gtest GTest::gmock GTest::gtest_main)
  target_compile_definitions(${name} PRIVATE QV_REPO_ROOT="${CMAKE_SOURCE_DIR}")
  qv_target_defaults(${name})
  gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST
                       WORKING_DIRECTORY ${CMAKE_SOURCE_DIR}
                       PROPERTIES TIMEOUT 300)
endfunction()

# qv_add_bench(NAME SOURCES ... DEPS ...): a Google Benchmark program.
function(qv_add_bench name)
  cmake_parse_arguments(A "" "" "SOURCES;DEPS" ${ARGN})
  add_executable(${name} ${A_SOURCES})
  target_include_directories(${name} PRIVATE ${QV_SOURCE_ROOT} ${CMAKE_SOURCE_DIR}/bench)
  target_link_libraries(${name} PRIVATE ${A_DEPS} benchmark::benchmark)
  # Generated databases stay here between runs (bench/support/bench_tables.h).
  target_compile_definitions(${name} PRIVATE QV_REPO_ROOT="${CMAKE_SOURCE_DIR}"
                                             QV_BENCH_DATA_DIR="${CMAKE_BINARY_DIR}/bench-data")
  qv_target_defaults(${name})
endfunction()

# qv_layer_library(NAME DEPS ...): the static library of the current folder,
# made of every .cpp file below it. A folder without sources yet gives an
# interface library, so that layers above can already name it.
function(qv_layer_library name)
  cmake_parse_arguments(A "" "" "DEPS" ${ARGN})
  file(GLOB_RECURSE sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  if(sources)
    qv_add_library(${name} SOURCES ${sources} DEPS ${A_DEPS})
  else()
    add_library(${name} INTERFACE)
    target_include_directories(${name} INTERFACE ${QV_SOURCE_ROOT})
    target_link_libraries(${name} INTERFACE ${A_DEPS})
  endif()
endfunction()

# qv_layer_tests(NAME DEPS ...): one test program made of every .cpp file
# below the current folder.
function(qv_layer_tests name)
  cmake_parse_arguments(A "" "" "DEPS" ${ARGN})
  file(GLOB_RECURSE sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  if(sources)
    qv_add_test(${name} SOURCES ${sources} DEPS ${A_DEPS})
  endif()
endfunction()
