# The Debian package, made by `cpack -G DEB` in the build directory from the
# install rules of dist/. scripts/package.sh builds it and checks it.

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME sewer-run)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT
    "The Sewer Run developers <maintainers@users.noreply.c-seed-7a51f473.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "top-down getaway driving game in a random city")
set(CPACK_PACKAGE_DESCRIPTION
    "You have just got the money. Drive the getaway car from one corner of a random
city of 40 by 40 road tiles to the open sewer in the opposite corner, while
police cars appear ahead of you, chase you and ram you. Leave the road or
lose all your health and the game is over. Every run builds a new city.

The game is played with the keyboard in an 800 x 600 window drawn with
OpenGL, with sound through OpenAL.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
# Directories made on the way are world-readable whatever the umask.
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The libraries the program links come from dpkg-shlibdeps. The window's
# OpenGL context comes from the GLX library, which SDL loads at run time, so
# dpkg-shlibdeps cannot see it.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS libgl1)

include(CPack)
