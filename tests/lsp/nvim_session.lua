-- Neovim's own LSP client (0.7 API) against tobra-lsp: opens main.s of the
-- project in $TOBRA_PROJECT, waits for the diagnostic, hovers, and jumps to
-- definitions as the editor's commands do. Prints one line per failure and
-- leaves with the count as its status.
local server = os.getenv("TOBRA_LSP")
local root = os.getenv("TOBRA_PROJECT")
local failures = 0

local function check(what, got, want)
  if got ~= want then
    failures = failures + 1
    io.stdout:write(string.format("FAIL %s: got %s, want %s\n", what, vim.inspect(got), vim.inspect(want)))
  end
end

local function finish()
  io.stdout:write(string.format("%d failure(s)\n", failures))
  io.stdout:flush()
  os.exit(failures == 0 and 0 or 1)
end

vim.cmd("edit " .. vim.fn.fnameescape(root .. "/main.s"))
local buf = vim.api.nvim_get_current_buf()
local client_id = vim.lsp.start_client({
  name = "tobra",
  cmd = { server },
  root_dir = root,
  init_options = { core = "5208" },
})
check("client started", client_id ~= nil, true)
if not client_id then finish() end
vim.lsp.buf_attach_client(buf, client_id)

local arrived = vim.wait(10000, function() return #vim.diagnostic.get(buf) > 0 end, 20)
check("a diagnostic arrived", arrived, true)
local d = vim.diagnostic.get(buf)[1] or {}
check("diagnostic line", d.lnum, 3)
check("diagnostic column", d.col, 16)
check("diagnostic end column", d.end_col, 18)
check("diagnostic severity", d.severity, vim.diagnostic.severity.ERROR)
check("diagnostic text", d.message, "9 value not in range: [1,8]")

-- Hover on the control register of line 3 (from 1), as K would ask.
local params = {
  textDocument = { uri = vim.uri_from_bufnr(buf) },
  position = { line = 2, character = 19 },
}
local replies = vim.lsp.buf_request_sync(buf, "textDocument/hover", params, 5000) or {}
local reply = replies[client_id] or {}
local value = reply.result and reply.result.contents and reply.result.contents.value
check("hover on vbr", value, "**vbr**: control register, `movec` code $801. The 5208 has it.")

-- Go to definition on the include's file name: the editor opens defs.inc.
vim.api.nvim_win_set_cursor(0, { 1, 18 })
vim.lsp.buf.definition()
local jumped = vim.wait(5000, function() return vim.api.nvim_buf_get_name(0) == root .. "/defs.inc" end, 20)
check("definition of the include opens", vim.api.nvim_buf_get_name(0), root .. "/defs.inc")
check("jumped in time", jumped, true)

-- Go to definition on a label: back in main.s, from `bra start` to its line.
vim.cmd("edit " .. vim.fn.fnameescape(root .. "/main.s"))
vim.api.nvim_win_set_cursor(0, { 5, 17 })
vim.lsp.buf.definition()
local moved = vim.wait(5000, function() return vim.api.nvim_win_get_cursor(0)[1] == 2 end, 20)
check("definition of start: line", vim.api.nvim_win_get_cursor(0)[1], 2)
check("definition of start: column", vim.api.nvim_win_get_cursor(0)[2], 0)
check("moved in time", moved, true)

finish()
