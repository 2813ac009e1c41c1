# The library as other programs use it: one shared library, qvRecordBar, made
# of the objects of the library layers and of the form runner's embedding
# API, with its public headers, the qvform program, a CMake package
# (find_package(qvRecordBar CONFIG), target qvRecordBar::qvRecordBar) and a
# pkg-config file.
include(GNUInstallDirs)
include(CMakePackageConfigHelpers)

set(qv_package_parts qv_gdi qv_ole qv_user qv_host qv_data qv_frame qv_effects qv_search qv_softbutton
    qv_navigator qv_designtime qv_module qv_qvform)
file(WRITE ${CMAKE_BINARY_DIR}/qvRecordBar_library.cpp
     "// The shared library is made of the objects of the library layers.\n")
add_library(qvRecordBar SHARED ${CMAKE_BINARY_DIR}/qvRecordBar_library.cpp)
add_library(qvRecordBar::qvRecordBar ALIAS qvRecordBar)
foreach(part IN LISTS qv_package_parts)
  if(TARGET ${part})
    get_target_property(type ${part} TYPE)
    if(type STREQUAL "STATIC_LIBRARY")
      set_target_properties(${part} PROPERTIES POSITION_INDEPENDENT_CODE ON)
      target_sources(qvRecordBar PRIVATE $<TARGET_OBJECTS:${part}>)
      # For what the parts need (SQLite, FreeType, SDL ...); the objects above
      # already define every symbol of the parts' archives.
      target_link_libraries(qvRecordBar PRIVATE ${part})
    endif()
  endif()
endforeach()
# In the build tree the library sits beside qvform, where the runner looks
# for it first.
set_target_properties(qvRecordBar PROPERTIES VERSION ${PROJECT_VERSION}
                                             SOVERSION ${PROJECT_VERSION_MAJOR}
                                             LIBRARY_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/apps/qvform)
target_compile_features(qvRecordBar INTERFACE cxx_std_20)
target_include_directories(qvRecordBar INTERFACE
  $<BUILD_INTERFACE:${QV_SOURCE_ROOT}> $<BUILD_INTERFACE:${CMAKE_SOURCE_DIR}/apps>
  $<INSTALL_INTERFACE:${CMAKE_INSTALL_INCLUDEDIR}/qvRecordBar>)
if(QV_SANITIZE)
  # A library built with the sanitizers needs their run-time in the program.
  target_link_options(qvRecordBar INTERFACE -fsanitize=address,undefined)
endif()

install(TARGETS qvRecordBar EXPORT qvRecordBarTargets
        LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR})
install(TARGETS qvform RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(DIRECTORY ${QV_SOURCE_ROOT}/ DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/qvRecordBar
        FILES_MATCHING PATTERN "*.h")
install(FILES ${CMAKE_SOURCE_DIR}/apps/qvform/embedding.h
        DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/qvRecordBar/qvform)

set(qv_cmake_dir ${CMAKE_INSTALL_LIBDIR}/cmake/qvRecordBar)
install(EXPORT qvRecordBarTargets NAMESPACE qvRecordBar:: DESTINATION ${qv_cmake_dir})
file(WRITE ${CMAKE_BINARY_DIR}/qvRecordBarConfig.cmake
     "include(\"\${CMAKE_CURRENT_LIST_DIR}/qvRecordBarTargets.cmake\")\n")
write_basic_package_version_file(${CMAKE_BINARY_DIR}/qvRecordBarConfigVersion.cmake
                                 COMPATIBILITY SameMajorVersion)
install(FILES ${CMAKE_BINARY_DIR}/qvRecordBarConfig.cmake
              ${CMAKE_BINARY_DIR}/qvRecordBarConfigVersion.cmake DESTINATION ${qv_cmake_dir})
# From the pkg-config folder up to the prefix ("../.." for lib/pkgconfig).
file(RELATIVE_PATH QV_PC_TO_PREFIX /prefix/${CMAKE_INSTALL_LIBDIR}/pkgconfig /prefix)
string(REGEX REPLACE "/$" "" QV_PC_TO_PREFIX "${QV_PC_TO_PREFIX}")
configure_file(${CMAKE_SOURCE_DIR}/cmake/qvRecordBar.pc.in ${CMAKE_BINARY_DIR}/qvRecordBar.pc @ONLY)
install(FILES ${CMAKE_BINARY_DIR}/qvRecordBar.pc DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig)
