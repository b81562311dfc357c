# Installs the two shared libraries, the public headers and a CMake package plus pkg-config file,
# so that a program outside the tree does find_package(CkwCommonUtil) and links
# CkwCommonUtil::CkwCommonUtil.
include(CMakePackageConfigHelpers)

install(TARGETS CkwCommonUtil CkwEngine EXPORT CkwCommonUtilTargets
  LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
  ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR}
  RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

install(FILES ${PROJECT_SOURCE_DIR}/include/CkwCommonUtil.h DESTINATION ${CMAKE_INSTALL_INCLUDEDIR})
file(GLOB CKW_PUBLIC_HEADERS ${PROJECT_SOURCE_DIR}/include/ckw/*.h)
install(FILES ${CKW_PUBLIC_HEADERS} ${PROJECT_SOURCE_DIR}/src/host/HostEngine.h
  DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/ckw)
file(GLOB CKW_ENGINE_PUBLIC_HEADERS ${PROJECT_SOURCE_DIR}/src/engine/*Engine*.h)
if(CKW_ENGINE_PUBLIC_HEADERS)
  install(FILES ${CKW_ENGINE_PUBLIC_HEADERS} DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/ckw)
endif()

install(EXPORT CkwCommonUtilTargets NAMESPACE CkwCommonUtil::
  DESTINATION ${CMAKE_INSTALL_LIBDIR}/cmake/CkwCommonUtil)
configure_package_config_file(${PROJECT_SOURCE_DIR}/cmake/CkwCommonUtilConfig.cmake.in
  ${CMAKE_BINARY_DIR}/CkwCommonUtilConfig.cmake
  INSTALL_DESTINATION ${CMAKE_INSTALL_LIBDIR}/cmake/CkwCommonUtil)
write_basic_package_version_file(${CMAKE_BINARY_DIR}/CkwCommonUtilConfigVersion.cmake
  COMPATIBILITY SameMajorVersion)
install(FILES ${CMAKE_BINARY_DIR}/CkwCommonUtilConfig.cmake ${CMAKE_BINARY_DIR}/CkwCommonUtilConfigVersion.cmake
  DESTINATION ${CMAKE_INSTALL_LIBDIR}/cmake/CkwCommonUtil)

configure_file(${PROJECT_SOURCE_DIR}/cmake/CkwCommonUtil.pc.in ${CMAKE_BINARY_DIR}/CkwCommonUtil.pc @ONLY)
install(FILES ${CMAKE_BINARY_DIR}/CkwCommonUtil.pc DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig)
