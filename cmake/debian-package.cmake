# The Debian package of the Linux build: every program in one bin/ under
# /opt/cpp-course, the receiver beside the launcher.
#
#   cmake --build --preset gcc && (cd build/gcc && cpack -G DEB)
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME cpp-course)
set(CPACK_PACKAGE_VENDOR "course")
set(CPACK_PACKAGE_CONTACT "course maintainers <course@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Example programs of a beginners' C++ course with Russian captions")
set(CPACK_PACKAGING_INSTALL_PREFIX /opt/cpp-course)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_STRIP_FILES ON)
# The pair needs Qt's core library; dpkg-shlibdeps, where present, finds the
# rest (the C++ runtime).
if(TARGET arg_launch)
  set(CPACK_DEBIAN_PACKAGE_DEPENDS "libqt6core6")
endif()
find_program(DPKG_SHLIBDEPS dpkg-shlibdeps)
if(DPKG_SHLIBDEPS)
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
endif()
include(CPack)
