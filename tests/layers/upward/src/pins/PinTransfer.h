#pragma once
// A pin operation, above the files in the layers.
