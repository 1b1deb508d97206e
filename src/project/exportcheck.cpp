#include "project/exportcheck.h"
