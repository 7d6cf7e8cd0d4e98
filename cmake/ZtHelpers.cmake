# zt_add_library(NAME <target> DEPS <libs...>)
# A static library from every .cpp/.h in the calling folder.
function(zt_add_library)
  cmake_parse_arguments(ARG "" "NAME" "DEPS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS
       ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
  add_library(${ARG_NAME} STATIC ${sources})
  # Headers are included as "records/logset.h", "link/fields.h", ...
  target_include_directories(${ARG_NAME} PUBLIC ${CMAKE_CURRENT_SOURCE_DIR}/..)
  target_link_libraries(${ARG_NAME} PUBLIC ${ARG_DEPS})
endfunction()

# zt_add_qtest(NAME <target> DEPS <libs...> [GUI])
# One test executable per tests/ folder: every .cpp there registers its test
# classes with ZT_TEST and a shared main runs them all.
function(zt_add_qtest)
  cmake_parse_arguments(ARG "GUI" "NAME" "DEPS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS
       ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
  add_executable(${ARG_NAME} ${sources})
  target_link_libraries(${ARG_NAME} PRIVATE zt_testsupport ${ARG_DEPS})
  add_test(NAME ${ARG_NAME} COMMAND ${ARG_NAME})
  set_tests_properties(${ARG_NAME} PROPERTIES
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen;LC_ALL=C.UTF-8;TZ=UTC"
    TIMEOUT 600)
endfunction()
