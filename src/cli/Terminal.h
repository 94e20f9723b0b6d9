#pragma once

// The terminal test (isatty and the standard descriptors) under its POSIX names on every
// system zolctl is built for.
#include <QtGlobal>

#ifdef Q_OS_UNIX
#include <unistd.h>
#else
#include <io.h>
#include <stdio.h>
#define isatty _isatty
#define STDIN_FILENO _fileno(stdin)
#define STDOUT_FILENO _fileno(stdout)
#define STDERR_FILENO _fileno(stderr)
#endif
