#pragma once
// A folder that no rule names.
