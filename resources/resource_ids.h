/* Resource and control ids, shared by the resource script and the code. */
#pragma once

#define IDI_APP 101
#define IDR_PAYLOAD 102
