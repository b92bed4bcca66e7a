# Run by CPack once it has staged the installed files and before it makes the Debian
# package of them: Debian keeps a game's program in /usr/games, where the package's
# section (games) expects it. `cmake --install` keeps it in bin/, which is on every
# user's PATH, also under a prefix such as ~/.local.
set(staged ${CPACK_TEMPORARY_DIRECTORY}${CPACK_PACKAGING_INSTALL_PREFIX})
file(MAKE_DIRECTORY ${staged}/games)
file(RENAME ${staged}/bin/quellix ${staged}/games/quellix)
file(REMOVE_RECURSE ${staged}/bin)
