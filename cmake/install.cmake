# Install rules: the module, the reference host libraries it calls, the
# public headers, the command, a CMake package (find_package(tovex)) and a
# pkg-config file.
include(CMakePackageConfigHelpers)

set(tovex_host_targets qxlistkit qxtextkit qxunitkit qxobjstore qxprojmodel qxpropkit qxcritkit)

install(TARGETS tovex ${tovex_host_targets} EXPORT tovexTargets
        LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
        ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR}
        RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR}
        INCLUDES DESTINATION ${CMAKE_INSTALL_INCLUDEDIR})
install(TARGETS tovex_cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(DIRECTORY include/tovex include/host DESTINATION ${CMAKE_INSTALL_INCLUDEDIR})

set(tovex_cmake_dir ${CMAKE_INSTALL_LIBDIR}/cmake/tovex)
install(EXPORT tovexTargets NAMESPACE tovex:: DESTINATION ${tovex_cmake_dir})
configure_package_config_file(${PROJECT_SOURCE_DIR}/cmake/tovexConfig.cmake.in
                              ${PROJECT_BINARY_DIR}/tovexConfig.cmake INSTALL_DESTINATION ${tovex_cmake_dir})
write_basic_package_version_file(${PROJECT_BINARY_DIR}/tovexConfigVersion.cmake COMPATIBILITY SameMajorVersion)
install(FILES ${PROJECT_BINARY_DIR}/tovexConfig.cmake ${PROJECT_BINARY_DIR}/tovexConfigVersion.cmake
        DESTINATION ${tovex_cmake_dir})

configure_file(${PROJECT_SOURCE_DIR}/cmake/tovex.pc.in ${PROJECT_BINARY_DIR}/tovex.pc @ONLY)
install(FILES ${PROJECT_BINARY_DIR}/tovex.pc DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig)
