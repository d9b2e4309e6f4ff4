# Sourced by tools/test.sh and tools/package.sh: the one configuration of a
# Release build with Debian's hardening flags and /usr as its prefix, so the
# tested tree is the packaged one and CI builds it once.
#   release_flags: the cmake arguments
export DEB_BUILD_MAINT_OPTIONS=hardening=+bindnow
# Without debug information: the package strips it anyway (the code is the
# same either way), and it costs a quarter of the build's time.
export DEB_CXXFLAGS_MAINT_STRIP=-g
# Debian's -O2 (in CXXFLAGS) rather than CMake's -O3 for Release.
release_flags=(
  -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_FLAGS_RELEASE=-DNDEBUG -DCMAKE_INSTALL_PREFIX=/usr
  -DCMAKE_CXX_FLAGS="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS)"
  -DCMAKE_EXE_LINKER_FLAGS="$(dpkg-buildflags --get LDFLAGS)"
)
