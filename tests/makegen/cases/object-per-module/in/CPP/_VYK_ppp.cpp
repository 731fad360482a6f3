// Hand-made stand-in for the linker's output: no common procedures in this program.
