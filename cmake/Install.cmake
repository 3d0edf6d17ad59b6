# Installation and the CMake package "BCFapi": `cmake --install <build> --prefix <dir>` installs the
# libraries, their public headers, the apps and <prefix>/lib/cmake/BCFapi, so that a viewer finds
# the library with
#   find_package(BCFapi 1.0 REQUIRED)
#   target_link_libraries(viewer PRIVATE BCFapi::BCFapi)
# The host libraries come along as BCFapi::BCFLib, BCFapi::QtTools, BCFapi::Icons and BCFapi::Utility.
include(GNUInstallDirs)
include(CMakePackageConfigHelpers)

set(_bcf_install_targets
  Vexamo.UI.Utils.BCFapi
  Vexamo.Core.Utils.BCFLib
  Vexamo.UI.Utils.QtTools
  Vexamo.UI.Icons
  Vexamo.Core.Utils.Utility)
set(_bcf_export_names BCFapi BCFLib QtTools Icons Utility)

list(LENGTH _bcf_install_targets _count)
math(EXPR _last "${_count} - 1")
foreach(_index RANGE ${_last})
  list(GET _bcf_install_targets ${_index} _target)
  list(GET _bcf_export_names ${_index} _name)
  set_target_properties(${_target} PROPERTIES
    EXPORT_NAME ${_name}
    # The libraries find each other in the folder they are installed in.
    INSTALL_RPATH "$ORIGIN")
endforeach()

install(TARGETS ${_bcf_install_targets}
  EXPORT BCFapiTargets
  LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
  ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR}
  RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR}
  INCLUDES DESTINATION ${CMAKE_INSTALL_INCLUDEDIR})

# Public headers: the interface a viewer uses, and the host libraries' headers that it reaches.
install(FILES
  UI/Utils/BCFapi/BCFapi.h
  UI/Utils/BCFapi/BCFapiGlobal.h
  UI/Utils/BCFapi/BCFapiRegistry.h
  UI/Utils/BCFapi/BCFCacheApi.h
  UI/Utils/BCFapi/BCFFileApi.h
  UI/Utils/BCFapi/BCFKeys.h
  UI/Utils/BCFapi/BCF1Export.h
  DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/BCFapi)
foreach(_hostlib BCFLib QtTools Icons Utility)
  install(DIRECTORY hostlibs/${_hostlib}/include/${_hostlib}
    DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}
    FILES_MATCHING PATTERN "*.h")
endforeach()

foreach(_app bcftool bcfviewer)
  if(TARGET ${_app})
    install(TARGETS ${_app} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  endif()
endforeach()

set(_bcf_config_dir ${CMAKE_INSTALL_LIBDIR}/cmake/BCFapi)
install(EXPORT BCFapiTargets NAMESPACE BCFapi:: DESTINATION ${_bcf_config_dir})
configure_package_config_file(${CMAKE_CURRENT_LIST_DIR}/BCFapiConfig.cmake.in
  ${CMAKE_BINARY_DIR}/BCFapiConfig.cmake
  INSTALL_DESTINATION ${_bcf_config_dir})
write_basic_package_version_file(${CMAKE_BINARY_DIR}/BCFapiConfigVersion.cmake
  VERSION ${PROJECT_VERSION}
  COMPATIBILITY SameMajorVersion)
install(FILES ${CMAKE_BINARY_DIR}/BCFapiConfig.cmake ${CMAKE_BINARY_DIR}/BCFapiConfigVersion.cmake
  DESTINATION ${_bcf_config_dir})
