# Installs the two shared libraries, the public headers and a CMake package plus pkg-config file,
# so that a program outside the tree does find_package(CkwCommonUtil) and links
# CkwCommonUtil::CkwCommonUtil.
include(CMakePackageConfigHelpers)

install(TARGETS CkwCommonUtil CkwEngine EXPORT CkwCommonUtilTargets
  LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
  ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR}
  RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

# The public headers, named one by one: what is installed is a decision, not whatever lies in a
# folder. Programs include them as <ckw/...> (the umbrella <CkwCommonUtil.h> includes them all).
set(CKW_PUBLIC_HEADERS
  CkwExport.h Version.h
  CString.h CArray.h
  HostEngine.h HostCalls.def EntityKinds.h EntityKinds.def
  ParaRecords.h DrawingPara.h FortranInterface.h SettingsDialogs.h
  KeloPoint2d.h KeloPoint3d.h KeloArc2d.h Util.h SheetCommands.h
  XDataUtil.h DrawingRecords.h XDataCommands.h DrawingFiles.h
  # the reference engine (libCkwEngine), for programs that drive it or bring their own drawings
  EngineDrawing.h ReferenceEngine.h)
file(GLOB present RELATIVE ${PROJECT_SOURCE_DIR}/include/ckw ${PROJECT_SOURCE_DIR}/include/ckw/*.h)
foreach(header IN LISTS present)
  if(NOT header IN_LIST CKW_PUBLIC_HEADERS)
    message(FATAL_ERROR "include/ckw/${header} is not in the installed list (cmake/Install.cmake)")
  endif()
endforeach()
list(TRANSFORM CKW_PUBLIC_HEADERS PREPEND ${PROJECT_SOURCE_DIR}/include/ckw/)
list(TRANSFORM CKW_PUBLIC_HEADERS REPLACE "^${PROJECT_SOURCE_DIR}/include/ckw/Version.h$"
  ${PROJECT_BINARY_DIR}/include/ckw/Version.h)
install(FILES ${PROJECT_SOURCE_DIR}/include/CkwCommonUtil.h DESTINATION ${CMAKE_INSTALL_INCLUDEDIR})
install(FILES ${CKW_PUBLIC_HEADERS} DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/ckw)

install(EXPORT CkwCommonUtilTargets NAMESPACE CkwCommonUtil::
  DESTINATION ${CMAKE_INSTALL_LIBDIR}/cmake/CkwCommonUtil)
configure_package_config_file(${PROJECT_SOURCE_DIR}/cmake/CkwCommonUtilConfig.cmake.in
  ${CMAKE_BINARY_DIR}/CkwCommonUtilConfig.cmake
  INSTALL_DESTINATION ${CMAKE_INSTALL_LIBDIR}/cmake/CkwCommonUtil)
write_basic_package_version_file(${CMAKE_BINARY_DIR}/CkwCommonUtilConfigVersion.cmake
  COMPATIBILITY SameMajorVersion)
install(FILES ${CMAKE_BINARY_DIR}/CkwCommonUtilConfig.cmake ${CMAKE_BINARY_DIR}/CkwCommonUtilConfigVersion.cmake
  DESTINATION ${CMAKE_INSTALL_LIBDIR}/cmake/CkwCommonUtil)

# The .pc file finds the prefix from where it lies, so it holds for whatever prefix is used at
# install time (cmake --install --prefix), not only the configured one.
file(RELATIVE_PATH CKW_PC_PREFIX_FROM_PCDIR "/${CMAKE_INSTALL_LIBDIR}/pkgconfig" "/")
string(REGEX REPLACE "/$" "" CKW_PC_PREFIX_FROM_PCDIR "${CKW_PC_PREFIX_FROM_PCDIR}")
configure_file(${PROJECT_SOURCE_DIR}/cmake/CkwCommonUtil.pc.in ${CMAKE_BINARY_DIR}/CkwCommonUtil.pc @ONLY)
install(FILES ${CMAKE_BINARY_DIR}/CkwCommonUtil.pc DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig)
