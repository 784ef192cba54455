// (being written)
#include <winsim_test.h>
namespace winsim {
void ResetUser() {}
}
