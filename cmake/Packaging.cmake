# The documents of an installation, and the Debian package that cpack makes
# of it (`cpack -G DEB` in a release build folder): both programs under
# bin, both manual pages compressed, and in share/doc README.md, docs/*.md,
# the copyright file, the compressed changelog, the examples (sources,
# keyboard pictures, phrase list, checks files) and the scripts the documents
# name.
set(CJK_PACKAGE_NAME cjk-input-tools)
set(CJK_DOC_DIR ${CMAKE_INSTALL_DATAROOTDIR}/doc/${CJK_PACKAGE_NAME})

# gzip -9n: the same bytes on every build (no name, no date inside).
set(CJK_COMPRESSED)
foreach(source man/Mabrel.1 man/Tosker.1 packaging/changelog)
  get_filename_component(name ${source} NAME)
  set(compressed ${PROJECT_BINARY_DIR}/compressed/${name}.gz)
  add_custom_command(
    OUTPUT ${compressed}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${PROJECT_BINARY_DIR}/compressed
    COMMAND sh -c "gzip -9nc '${PROJECT_SOURCE_DIR}/${source}' > '${compressed}'"
    DEPENDS ${PROJECT_SOURCE_DIR}/${source}
    VERBATIM)
  list(APPEND CJK_COMPRESSED ${compressed})
endforeach()
add_custom_target(compressed_documents ALL DEPENDS ${CJK_COMPRESSED})
install(FILES ${PROJECT_BINARY_DIR}/compressed/Mabrel.1.gz ${PROJECT_BINARY_DIR}/compressed/Tosker.1.gz
        DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

# The documents keep the folders of the source tree, so that their relative
# links work where they are installed.
file(GLOB CJK_DOCUMENTS CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/docs/*.md)
install(FILES ${PROJECT_SOURCE_DIR}/README.md ${PROJECT_SOURCE_DIR}/packaging/copyright
              ${PROJECT_BINARY_DIR}/compressed/changelog.gz
        DESTINATION ${CJK_DOC_DIR})
install(FILES ${CJK_DOCUMENTS} DESTINATION ${CJK_DOC_DIR}/docs)
file(GLOB CJK_EXAMPLES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/examples/*.txt
     ${PROJECT_SOURCE_DIR}/examples/*.bmp ${PROJECT_SOURCE_DIR}/examples/*.checks
     ${PROJECT_SOURCE_DIR}/examples/README.md)
install(FILES ${CJK_EXAMPLES} DESTINATION ${CJK_DOC_DIR}/examples)

# The scripts that the installed documents name (scripts/examples.sh and the
# like), for a reader who wants to see what they do.
set(CJK_NAMED_SCRIPTS)
foreach(document ${PROJECT_SOURCE_DIR}/README.md ${CJK_DOCUMENTS} ${PROJECT_SOURCE_DIR}/examples/README.md)
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${document})
  file(READ ${document} text)
  string(REGEX MATCHALL "scripts/[A-Za-z0-9_.-]*[A-Za-z0-9_]" named "${text}")
  foreach(script ${named})
    if(EXISTS ${PROJECT_SOURCE_DIR}/${script})
      list(APPEND CJK_NAMED_SCRIPTS ${PROJECT_SOURCE_DIR}/${script})
    endif()
  endforeach()
endforeach()
list(REMOVE_DUPLICATES CJK_NAMED_SCRIPTS)
install(FILES ${CJK_NAMED_SCRIPTS} DESTINATION ${CJK_DOC_DIR}/scripts)

set(CPACK_PACKAGE_NAME ${CJK_PACKAGE_NAME})
set(CPACK_PACKAGE_VERSION 2.0)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "compilers for input-method and phrase databases of a handheld CJK input system")
# Lines of at most 80 characters, as Debian wants them.
string(CONCAT CPACK_PACKAGE_DESCRIPTION
       "Mabrel compiles an input-method source text into an input-method database\n"
       "and writes sample sources; Tosker compiles a phrase list into a phrase\n"
       "database and turns one back into text.")
set(CPACK_PACKAGE_CONTACT
    "Mabrel and Tosker maintainers <maintainers@users.noreply.c-seed-c55fcfd6.example>")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
# The libraries the programs link against, with their versions, where dpkg's
# tool can tell; otherwise those every C++ program needs and yaml-cpp's.
# Statically linked programs need no library, but iconv loads the C library's
# converters (its gconv modules) at run time for what the CharSets' tables do
# not hold, and those must come from the
# release of the C library linked against: the package asks for that release,
# and tells lintian that its programs are static on purpose.
find_program(CJK_DPKG_SHLIBDEPS dpkg-shlibdeps)
if(CJK_STATIC_PROGRAMS)
  execute_process(COMMAND getconf GNU_LIBC_VERSION OUTPUT_VARIABLE CJK_GLIBC OUTPUT_STRIP_TRAILING_WHITESPACE)
  if(NOT CJK_GLIBC MATCHES "^glibc ([0-9]+)\\.([0-9]+)")
    message(FATAL_ERROR "static programs need the GNU C library; getconf says \"${CJK_GLIBC}\"")
  endif()
  math(EXPR CJK_GLIBC_NEXT "${CMAKE_MATCH_2} + 1")
  set(CPACK_DEBIAN_PACKAGE_DEPENDS
      "libc6 (>= ${CMAKE_MATCH_1}.${CMAKE_MATCH_2}), libc6 (<< ${CMAKE_MATCH_1}.${CJK_GLIBC_NEXT})")
  install(FILES ${PROJECT_SOURCE_DIR}/packaging/lintian-overrides
          DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/lintian/overrides RENAME ${CJK_PACKAGE_NAME})
elseif(CJK_DPKG_SHLIBDEPS)
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
else()
  set(CPACK_DEBIAN_PACKAGE_DEPENDS "libc6, libgcc-s1, libstdc++6, libyaml-cpp0.7")
endif()
# ibus-table databases are read through SQLite, loaded only when one is
# given: no dependency a linker or dpkg-shlibdeps would see.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "libsqlite3-0")
# Mabrel /k and the imports draw keyboard pictures with Debian's fonts,
# through FreeType loaded when a picture is drawn.
set(CJK_PICTURE_DEPENDS "fonts-misaki, unifont, libfreetype6")
if(CPACK_DEBIAN_PACKAGE_DEPENDS)
  string(APPEND CPACK_DEBIAN_PACKAGE_DEPENDS ", ${CJK_PICTURE_DEPENDS}")
else()
  set(CPACK_DEBIAN_PACKAGE_DEPENDS "${CJK_PICTURE_DEPENDS}")
endif()
include(CPack)
