# bcf_add_test(<name> SOURCES <files...> [LIBRARIES <targets...>] [ENVIRONMENT <VAR=value...>])
# Builds a Qt Test program linked with BCFTestSupport and registers it with CTest under <name>,
# with QT_QPA_PLATFORM=offscreen and BCF_SHARED_DIR set for the run.
function(bcf_add_test name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBRARIES;ENVIRONMENT" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE BCFTestSupport ${ARG_LIBRARIES})
  add_test(NAME ${name} COMMAND ${name})
  set(_env "QT_QPA_PLATFORM=offscreen" "BCF_SHARED_DIR=${BCF_SHARED_DIR}" ${ARG_ENVIRONMENT})
  set_tests_properties(${name} PROPERTIES ENVIRONMENT "${_env}")
endfunction()
