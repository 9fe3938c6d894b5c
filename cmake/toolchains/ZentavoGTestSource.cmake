# GoogleTest built from Debian's sources (package googletest) with this build's compiler and
# standard library: for a cross build, and for a build on another C++ library (libc++) than the
# one Debian's libgtest was built with.
set(ZENTAVO_GTEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest's sources (Debian: googletest)")
if(ZENTAVO_BUILD_TESTS)
    set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
    set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
    if(WIN32)
        set(gtest_disable_pthreads ON CACHE BOOL "" FORCE) # Windows threads, not pthreads
    endif()
    add_subdirectory(${ZENTAVO_GTEST_SOURCE}/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
    if(NOT TARGET GTest::gtest) # GoogleTest 1.11 and later name them so themselves
        add_library(GTest::gtest ALIAS gtest)
        add_library(GTest::gtest_main ALIAS gtest_main)
    endif()
endif()
