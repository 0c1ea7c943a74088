# The documents of an installation, and the Debian package that cpack makes
# of it (`cpack -G DEB` in a release build folder): both programs under
# bin, both manual pages, and README.md with docs/*.md in share/doc.
set(CJK_PACKAGE_NAME cjk-input-tools)
set(CJK_DOC_DIR ${CMAKE_INSTALL_DATAROOTDIR}/doc/${CJK_PACKAGE_NAME})

file(GLOB CJK_DOCUMENTS CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/docs/*.md)
install(FILES ${PROJECT_SOURCE_DIR}/README.md ${CJK_DOCUMENTS} DESTINATION ${CJK_DOC_DIR})

set(CPACK_PACKAGE_NAME ${CJK_PACKAGE_NAME})
set(CPACK_PACKAGE_VERSION 2.0)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "compilers for input-method and phrase databases of a handheld CJK input system")
string(CONCAT CPACK_PACKAGE_DESCRIPTION
       "Mabrel compiles an input-method source text into an input-method database and writes "
       "sample sources; Tosker compiles a phrase list into a phrase database and turns one "
       "back into text.")
set(CPACK_PACKAGE_CONTACT "Mabrel and Tosker maintainers <maintainers@invalid>")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
# The libraries the programs link against, with their versions, where dpkg's
# tool can tell (yaml-cpp's runtime library among them); otherwise the three
# every C++ program needs and yaml-cpp's.
find_program(CJK_DPKG_SHLIBDEPS dpkg-shlibdeps)
if(CJK_DPKG_SHLIBDEPS)
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
else()
  set(CPACK_DEBIAN_PACKAGE_DEPENDS "libc6, libgcc-s1, libstdc++6, libyaml-cpp0.7")
endif()
include(CPack)
