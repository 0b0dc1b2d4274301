# The Debian package of the program (cpack -G DEB).
