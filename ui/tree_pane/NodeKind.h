#pragma once

// The kinds of node of the project tree.
enum class NodeKind { None, Root, FileInfo, DeviceInfo, DummyUsage, Comments, Dictionary, Index, Subindex };
