// The program's version, shared by the caption and the version resource.
#pragma once

#define ADAGIO_VERSION_MAJOR 1
#define ADAGIO_VERSION_MINOR 2
#define ADAGIO_VERSION_PATCH 0
#define ADAGIO_VERSION_TEXT "1.2.0"
#define ADAGIO_CAPTION_PREFIX "Adagiomill v" ADAGIO_VERSION_TEXT " -- "
