-- Neovim's own LSP client on the language server: opens the train run named by
-- SB_FILE (its line description is read from disk), attaches `SB_PROGRAM lsp`,
-- waits for the diagnostics, asks for a hover at SB_HOVER ("line,column",
-- 0-based) and at SB_HOVER_VALUE, for the outline and for a completion at
-- SB_COMPLETION; then misspells the keyword of line SB_SLIP, waits for its
-- diagnostic, asks for its quick fix and applies it as the editor does.
-- Writes what it read as JSON to SB_OUT. Works with the clients of Neovim 0.7
-- (start_client) and later (vim.lsp.start).
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
local function chiedi(metodo, parametri)
  parametri.textDocument = { uri = vim.uri_from_bufnr(0) }
  for _, r in pairs(vim.lsp.buf_request_sync(0, metodo, parametri, 10000) or {}) do
    if r.result then return r.result end
  end
  return vim.NIL
end
local function posizione(variabile)
  local l, c = os.getenv(variabile):match('(%d+),(%d+)')
  return { line = tonumber(l), character = tonumber(c) }
end
local valore = chiedi('textDocument/hover', { position = posizione('SB_HOVER_VALUE') })
risultato.hover_value = valore ~= vim.NIL and valore.contents.value or vim.NIL
risultato.symbols = chiedi('textDocument/documentSymbol', {})
risultato.completion = {}
local voci = chiedi('textDocument/completion', { position = posizione('SB_COMPLETION') })
for _, v in ipairs(voci ~= vim.NIL and (voci.items or voci) or {}) do
  table.insert(risultato.completion, v.label)
end
-- A slip typed in the buffer: the keyword of line SB_SLIP with two letters
-- swapped, then its quick fix applied.
local svista = tonumber(os.getenv('SB_SLIP'))
local riga_giusta = vim.api.nvim_buf_get_lines(0, svista, svista + 1, false)[1]
local sbagliata = riga_giusta:gsub('^(%a)(%a)(%a)(%a)(%a)(%a)', '%1%2%3%4%6%5')
vim.api.nvim_buf_set_lines(0, svista, svista + 1, false, { sbagliata })
-- The diagnostic of the line as the protocol's, as the editor's own code
-- action takes it (range, code and data back from the client's store): in
-- Neovim 0.7 through get_line_diagnostics, later kept whole in user_data.
local function della_svista()
  if vim.lsp.diagnostic.get_line_diagnostics then
    return vim.lsp.diagnostic.get_line_diagnostics(0, svista)[1]
  end
  for _, d in ipairs(vim.diagnostic.get(0, { lnum = svista })) do
    if d.user_data and d.user_data.lsp and d.user_data.lsp.range then
      return d.user_data.lsp
    end
  end
end
vim.wait(15000, function() return della_svista() ~= nil end, 50)
local diagnostica = della_svista()
risultato.slip = sbagliata
if diagnostica then
  local azioni = chiedi('textDocument/codeAction', {
    range = diagnostica.range, context = { diagnostics = { diagnostica } } })
  if azioni ~= vim.NIL and azioni[1] then
    risultato.fix_title = azioni[1].title
    vim.lsp.util.apply_workspace_edit(azioni[1].edit, 'utf-16')
  end
end
risultato.fixed = vim.api.nvim_buf_get_lines(0, svista, svista + 1, false)[1]
risultato.expected = riga_giusta
local f = io.open(out, 'w')
f:write(vim.fn.json_encode(risultato))
f:close()
vim.lsp.stop_client(cliente)
vim.cmd('qa!')
