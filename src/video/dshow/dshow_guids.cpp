// The one place where the identifiers of dshow_guids.h get their storage.
#include <initguid.h>

#include "video/dshow/dshow_guids.h"
