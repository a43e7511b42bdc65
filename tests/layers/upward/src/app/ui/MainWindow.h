#pragma once
// The window's widgets.
