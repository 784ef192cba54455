/// \file
/// (being written)
#pragma once
#include "winsim/types.h"
