# Generated headers with what only the build knows: the version, the git revision and the
# installed data folder. They land in <build>/generated, which every target may include.
include(GNUInstallDirs)

set(ZOL_DATADIR "${CMAKE_INSTALL_DATADIR}/zoltools")
file(RELATIVE_PATH ZOL_DATA_FROM_BIN "${CMAKE_INSTALL_FULL_BINDIR}"
     "${CMAKE_INSTALL_FULL_DATADIR}/zoltools")

set(ZOL_GIT_REVISION "unknown")
find_package(Git QUIET)
if(GIT_FOUND)
  execute_process(COMMAND "${GIT_EXECUTABLE}" describe --always --dirty
                  WORKING_DIRECTORY "${PROJECT_SOURCE_DIR}"
                  OUTPUT_VARIABLE revision OUTPUT_STRIP_TRAILING_WHITESPACE
                  RESULT_VARIABLE revisionResult ERROR_QUIET)
  if(revisionResult EQUAL 0 AND revision)
    set(ZOL_GIT_REVISION "${revision}")
    # A new commit or a branch switch configures again, so the revision stays true.
    execute_process(COMMAND "${GIT_EXECUTABLE}" rev-parse --path-format=absolute
                            --git-path HEAD --git-path logs/HEAD
                    WORKING_DIRECTORY "${PROJECT_SOURCE_DIR}"
                    OUTPUT_VARIABLE gitFiles OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
    string(REPLACE "\n" ";" gitFiles "${gitFiles}")
    foreach(gitFile IN LISTS gitFiles)
      if(EXISTS "${gitFile}")
        set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS "${gitFile}")
      endif()
    endforeach()
  endif()
endif()

configure_file(cmake/ZolVersion.h.in "${PROJECT_BINARY_DIR}/generated/ZolVersion.h" @ONLY)
configure_file(cmake/ZolInstallDirs.h.in "${PROJECT_BINARY_DIR}/generated/ZolInstallDirs.h" @ONLY)
include_directories("${PROJECT_BINARY_DIR}/generated")
