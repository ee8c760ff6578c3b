-- Neovim's own LSP client on the language server: opens the train run named by
-- SB_FILE (its line description is read from disk), attaches `SB_PROGRAM lsp`,
-- waits for the diagnostics, asks for a hover at SB_HOVER ("line,column",
-- 0-based) and writes both as JSON to SB_OUT. Works with the clients of
-- Neovim 0.7 (start_client) and later (vim.lsp.start).
local file, out = os.getenv('SB_FILE'), os.getenv('SB_OUT')
local riga, colonna = os.getenv('SB_HOVER'):match('(%d+),(%d+)')
vim.opt.fileencodings = 'ucs-bom,utf-8,cp1252'
vim.cmd('edit ' .. vim.fn.fnameescape(file))
local configurazione = {
  name = 'scenario_builder',
  cmd = { os.getenv('SB_PROGRAM'), 'lsp' },
  root_dir = vim.fn.fnamemodify(file, ':h'),
}
local cliente
if vim.lsp.start then
  cliente = vim.lsp.start(configurazione)
else
  cliente = vim.lsp.start_client(configurazione)
  vim.lsp.buf_attach_client(0, cliente)
end
local risultato = { diagnostics = {}, hover = vim.NIL }
vim.wait(15000, function() return #vim.diagnostic.get(0) > 0 end, 50)
for _, d in ipairs(vim.diagnostic.get(0)) do
  table.insert(risultato.diagnostics, {
    line = d.lnum, col = d.col, end_col = d.end_col, severity = d.severity,
    message = d.message, source = d.source,
    code = d.code or (d.user_data and d.user_data.lsp and d.user_data.lsp.code),
  })
end
local risposte = vim.lsp.buf_request_sync(0, 'textDocument/hover', {
  textDocument = { uri = vim.uri_from_bufnr(0) },
  position = { line = tonumber(riga), character = tonumber(colonna) },
}, 10000)
for _, r in pairs(risposte or {}) do
  if r.result then risultato.hover = r.result.contents.value end
end
local f = io.open(out, 'w')
f:write(vim.fn.json_encode(risultato))
f:close()
vim.lsp.stop_client(cliente)
vim.cmd('qa!')
