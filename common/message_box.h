// A message box's icon, buttons and answer, for every window of both programs.
#pragma once

namespace vx {

enum class MsgIcon { None, Information, Warning, Error };
enum class MsgButtons { Ok, YesNo, YesNoCancel };
enum class MsgAnswer { Ok, Yes, No, Cancel };

}  // namespace vx
