# CMake generated Testfile for 
# Source directory: /work/main
# Build directory: /work/main/b
# 
# This file includes the relevant testing commands required for 
# testing this directory and lists subdirectories to be tested as well.
subdirs("aero")
subdirs("engine")
subdirs("picture")
subdirs("shell")
subdirs("app")
subdirs("resources")
subdirs("cli")
subdirs("tests")
subdirs("bench")
