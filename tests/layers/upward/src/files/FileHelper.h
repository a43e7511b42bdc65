#pragma once
// A file operation's header.
