#pragma once
// Resource ids of zorvanel.rc, shared with the code that loads them.

#define IDI_PROGRAM 1
