// Every kind of PDF object, for code that works with many of them.
#pragma once

#include "zpdf/Array.h"
#include "zpdf/Dict.h"
#include "zpdf/Name.h"
#include "zpdf/Names.h"
#include "zpdf/Object.h"
#include "zpdf/Primitives.h"
#include "zpdf/Reference.h"
#include "zpdf/Stream.h"
#include "zpdf/String.h"
#include "zpdf/XRef.h"
