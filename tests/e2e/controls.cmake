# No end-to-end tests of this area yet; the file is listed so that a missing one fails the build.
