#pragma once

#include <cups/cups.h>

namespace plexaro {

// The parts of libcups that printing uses.
// clang-format off
#define PLEXARO_CUPS_FUNCTIONS(X)                                                              \
  X(cupsSetPasswordCB2) X(cupsServer) X(ippPort) X(cupsEncryption) X(httpConnect2)             \
  X(httpSetTimeout) X(httpClose) X(cupsLastErrorString) X(cupsGetNamedDest) X(cupsFreeDests)  \
  X(cupsCopyDestInfo) X(cupsFreeDestInfo) X(cupsGetOption) X(cupsFindDestDefault)             \
  X(ippGetString) X(cupsGetDestMediaByName) X(pwgMediaForPWG) X(pwgMediaForLegacy)            \
  X(pwgMediaForPPD) X(cupsCreateDestJob) X(cupsStartDestDocument) X(cupsWriteRequestData)     \
  X(cupsFinishDestDocument) X(cupsCancelDestJob) X(httpGetFd) X(httpGetStatus) X(cupsLastError)  \
  X(cupsCheckDestSupported) X(cupsAddOption) X(cupsFreeOptions) X(cupsGetJobs2) X(cupsFreeJobs) \
  X(httpEncryption)
// clang-format on

struct CupsLibrary {
#define PLEXARO_CUPS_POINTER(name) decltype(&::name) name = nullptr;
  PLEXARO_CUPS_FUNCTIONS(PLEXARO_CUPS_POINTER)
#undef PLEXARO_CUPS_POINTER
};

// libcups, opened on the first print rather than when the program starts:
// it brings a score of libraries of its own (TLS, Kerberos, ...) that cost
// start-up time and some megabytes that a run without printing never needs.
// Null when it cannot be opened. Safe to call from any thread.
const CupsLibrary* cupsLibrary();

}  // namespace plexaro
