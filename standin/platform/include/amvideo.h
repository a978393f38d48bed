// The platform stand-in's <amvideo.h>: IQualProp, declared with the rest of DirectShow.
#pragma once

#include <dshow.h>
