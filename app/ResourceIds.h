#pragma once
// Resource identifiers shared by Sorabako.rc and the code.
#define IDI_SORABAKO 1
