-- Neovim 0.7's own LSP client against `scenario-tool lsp`, headless:
--   nvim --headless --clean -c 'luafile prova_neovim.lua'
-- with SCENARIO_TOOL (the executable) and CARTELLA (the built-in sources) in the environment.
-- Every failure ends Neovim with status 1 and says what was expected.
local strumento = os.getenv('SCENARIO_TOOL')
local cartella = os.getenv('CARTELLA')
local treno = cartella .. '/Lerno_Castelbrum_Pusena_27364-.txt'

local function fallisce(testo)
  io.stderr:write('prova_neovim: ' .. testo .. '\n')
  vim.cmd('cquit 1')
end

local function ok(testo)
  io.stdout:write('ok: ' .. testo .. '\n')
end

vim.cmd('edit ' .. vim.fn.fnameescape(treno))
local buf = vim.api.nvim_get_current_buf()
local righe = vim.api.nvim_buf_get_lines(buf, 0, -1, false)

-- The row of the signal at 2800 m, misspelt in the buffer before the server sees it.
local riga_segnale
for i, r in ipairs(righe) do
  if r:find('^segnale,%s+2800,') then riga_segnale = i - 1 end
end
if not riga_segnale then return fallisce('no signal at 2800 m in ' .. treno) end
local giusta = righe[riga_segnale + 1]
vim.api.nvim_buf_set_lines(buf, riga_segnale, riga_segnale + 1, false,
  { (giusta:gsub('^segnale', 'segnal')) })

local uscita
local client = vim.lsp.start_client({
  name = 'scenario-tool',
  cmd = { strumento, 'lsp' },
  root_dir = cartella,
  on_exit = function(codice) uscita = codice end,
})
if not client then return fallisce('the client did not start') end
vim.lsp.buf_attach_client(buf, client)

local function avvisi_a(riga)
  local trovati = {}
  for _, d in ipairs(vim.diagnostic.get(buf)) do
    if d.lnum == riga then table.insert(trovati, d) end
  end
  return trovati
end

if not vim.wait(20000, function() return #avvisi_a(riga_segnale) > 0 end, 20) then
  return fallisce('no diagnostic at row ' .. (riga_segnale + 1))
end
local d = avvisi_a(riga_segnale)[1]
if d.severity ~= vim.diagnostic.severity.WARN or d.code ~= 'unknown-record' then
  return fallisce('expected an unknown-record warning, got ' .. vim.inspect(d))
end
ok('warning at row ' .. (riga_segnale + 1) .. ': ' .. d.message)

-- Hover on the fifth field of a signal row.
local riga_4150
for i, r in ipairs(righe) do
  if r:find('^segnale,%s+4150,') then riga_4150 = i - 1 end
end
local testo = righe[riga_4150 + 1]
-- After the keyword, the fifth comma-separated field.
local colonna = 0
local virgole = 0
for i = 1, #testo do
  if testo:sub(i, i) == ',' then
    virgole = virgole + 1
    if virgole == 5 then colonna = i + 2 break end
  end
end
local params = {
  textDocument = vim.lsp.util.make_text_document_params(buf),
  position = { line = riga_4150, character = colonna },
}
local risposte = vim.lsp.buf_request_sync(buf, 'textDocument/hover', params, 10000)
local valore = risposte and risposte[client] and risposte[client].result
  and risposte[client].result.contents.value
if not valore or not valore:find('`s3`', 1, true) then
  return fallisce('hover at ' .. riga_4150 .. ':' .. colonna .. ' does not name s3: ' ..
    vim.inspect(risposte))
end
ok('hover names s3')

-- Completion on the first free line of [segnali]: the row after the header.
local riga_sezione
for i, r in ipairs(righe) do
  if r == '[segnali]' then riga_sezione = i end
end
params = {
  textDocument = vim.lsp.util.make_text_document_params(buf),
  position = { line = riga_sezione, character = 0 },
}
risposte = vim.lsp.buf_request_sync(buf, 'textDocument/completion', params, 10000)
local voci = risposte and risposte[client] and risposte[client].result or {}
if voci.items then voci = voci.items end
local offerta = false
for _, v in ipairs(voci) do
  if v.label == 'segnale' then offerta = true end
end
if not offerta then return fallisce('completion in [segnali] lacks segnale: ' .. vim.inspect(voci)) end
ok('completion offers segnale')

-- The fix, typed into the buffer, clears the warning.
vim.api.nvim_buf_set_lines(buf, riga_segnale, riga_segnale + 1, false, { giusta })
if not vim.wait(20000, function() return #avvisi_a(riga_segnale) == 0 end, 20) then
  return fallisce('the fixed row still has ' .. vim.inspect(avvisi_a(riga_segnale)))
end
ok('the fix cleared the warning')

vim.lsp.stop_client(client)
if not vim.wait(10000, function() return uscita ~= nil end, 20) then
  return fallisce('the server did not stop')
end
if uscita ~= 0 then return fallisce('the server ended with status ' .. tostring(uscita)) end
ok('the server stopped with status 0')
vim.cmd('qall!')
