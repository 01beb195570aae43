// Compiled with the precompiled header of its set, which it exists to build.
