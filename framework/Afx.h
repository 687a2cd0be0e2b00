#pragma once

// The whole framework layer in one include.
#include "Controls.h"
#include "DataExchange.h"
#include "Dialog.h"
#include "FileDialog.h"
#include "Gdi.h"
#include "IntegerText.h"
#include "MessageBox.h"
#include "MessageMap.h"
#include "ResourceString.h"
#include "WinApp.h"
#include "Wnd.h"
