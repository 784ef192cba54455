/// \file
/// The msctls_progress32 control: a range (0..100 until set), a position kept inside it,
/// and a step for PBM_STEPIT.
#include "user_state.h"

namespace winsim {
namespace {

int Clamp(const Window &w, long long pos) {
  if (pos < w.range_min) return w.range_min;
  if (pos > w.range_max) return w.range_max;
  return (int)pos;
}

}  // namespace

LRESULT ProgressProcedure(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  Window *w = Win(hwnd);
  int previous = w->progress;
  switch (message) {
    case PBM_SETRANGE:
    case PBM_SETRANGE32: {
      LRESULT old_range = MAKELRESULT(w->range_min, w->range_max);
      if (message == PBM_SETRANGE) {
        w->range_min = LOWORD(lparam);
        w->range_max = HIWORD(lparam);
      } else {
        w->range_min = (int)wparam;
        w->range_max = (int)lparam;
      }
      w->progress = Clamp(*w, w->progress);
      return old_range;
    }
    case PBM_GETRANGE:
      return wparam ? w->range_min : w->range_max;
    case PBM_SETPOS:
      w->progress = Clamp(*w, (int)wparam);
      return previous;
    case PBM_DELTAPOS:
      w->progress = Clamp(*w, (long long)w->progress + (int)wparam);
      return previous;
    case PBM_SETSTEP: {
      int old_step = w->step;
      w->step = (int)wparam;
      return old_step;
    }
    case PBM_STEPIT: {
      // Stepping past the end starts over from the beginning of the range.
      long long next = (long long)w->progress + w->step;
      if (next > w->range_max) next = w->range_min + (next - w->range_max);
      w->progress = Clamp(*w, next);
      return previous;
    }
    case PBM_GETPOS:
      return w->progress;
    default:
      return DefaultProcedure(hwnd, message, wparam, lparam);
  }
}

}  // namespace winsim
