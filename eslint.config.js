// ESLint's flat config for the project's JavaScript: the page (a browser
// script beside Emscripten's flyer.js), the Tiled extension (Tiled's script
// engine), and the node scripts, tests and benchmark (ES modules).
import js from '@eslint/js';
import globals from 'globals';

export default [
    { ignores: ['node_modules/', 'build*/'] },
    js.configs.recommended,
    {
        files: ['web/page/**/*.js'],
        languageOptions: {
            sourceType: 'script',
            globals: {
                ...globals.browser,
                createFlyer: 'readonly',
                flyerKeys: 'readonly',
                flyerLevels: 'readonly',
                flyerOffline: 'readonly',
                flyerScreen: 'readonly',
                flyerTables: 'readonly',
            },
        },
        // Each of the page's scripts defines one of these globals for the others.
        rules: { 'no-redeclare': ['error', { builtinGlobals: false }] },
    },
    {
        // The scripts that define the page's globals above, for the others.
        files: ['web/page/keys.js', 'web/page/screen.js'],
        rules: {
            'no-unused-vars': ['error', { varsIgnorePattern: '^flyer' }],
        },
    },
    {
        files: ['dist/tiled/**/*.js'],
        languageOptions: {
            sourceType: 'script',
            globals: {
                __filename: 'readonly',
                tiled: 'readonly',
                File: 'readonly',
                FileInfo: 'readonly',
                Process: 'readonly',
                TextFile: 'readonly',
                console: 'readonly',
            },
        },
        // Tiled's script engine (Qt 5's) has no catch without a binding.
        rules: { 'no-unused-vars': ['error', { caughtErrors: 'none' }] },
    },
    {
        files: ['**/*.mjs', 'eslint.config.js'],
        languageOptions: { globals: { ...globals.node, ...globals.browser } },
    },
];
