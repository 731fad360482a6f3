// The XML reader (stub until the reader lands).
#include "Xml.h"
