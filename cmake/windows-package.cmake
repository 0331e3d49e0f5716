# The release archive of the Windows build: the lesson .exe files in one ZIP.
#
#   cmake --build --preset mingw && cpack --preset mingw
#   -> build/mingw/course-<version>-win64.zip, with bin/<lesson>.exe
#
# The mingw preset hands this file to project() (CMAKE_PROJECT_INCLUDE), so
# the Linux builds stay without packaging. Each lesson installs itself into
# bin/ (add_lesson); the .exe files are linked statically and need nothing
# else on the student's machine.
set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_VENDOR "course")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Console lessons of the beginners' C++ course, for Windows x64")
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
set(CPACK_STRIP_FILES ON)
include(CPack)
