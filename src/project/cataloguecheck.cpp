#include "project/cataloguecheck.h"
