/// \file
/// (being written)
#pragma once
namespace winsim {
void ResetSystem();
}
