#pragma once

// How an EDS import treats a file that lacks what this editor requires. The standard import refuses
// it; the lenient one, which the user asks for explicitly, fills in what is missing, reports each
// repair once, and also reads compact subindex descriptions (CompactSubObj).
enum class ImportMode { Standard, Lenient };
