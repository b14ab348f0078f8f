// Turning the errors of failed platform and stream calls into results.
#ifndef SCRIBBLET_EXPORT_FAILURE_CAUSES_H
#define SCRIBBLET_EXPORT_FAILURE_CAUSES_H

#include "export/write_result.h"
#include "platform/platform.h"

// A platform call failed with GetLastError() code `code`.
WriteResult system_failure(DWORD code);

// A stream call (fopen, fwrite, fflush, fclose) failed with errno `error`.
WriteResult stream_failure(int error);

#endif // SCRIBBLET_EXPORT_FAILURE_CAUSES_H
