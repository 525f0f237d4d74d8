#pragma once

// Result codes of a generation run. They share one numbering with the message table that turns
// them into the text the user sees, so the values are fixed.
constexpr int GenOk = 31;
constexpr int GenNoEntry = 32;
constexpr int GenCreateFailed = 33;
constexpr int GenWriteFailed = 35;
constexpr int GenCloseFailed = 36;
constexpr int GenNoSubindices = 37;
