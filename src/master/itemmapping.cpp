#include "master/itemmapping.h"
